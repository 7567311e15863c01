Object
{
	mName : EscapePod
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 2
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 3
				y_ : 4
				z_ : 3
			}
		}
	}
	RigidBody
	{
		m_damping : 1
		m_invMass : 0
		m_mass : 0
		m_static : 1
		m_useGravity : 0
		m_velocity : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
	}
	Collider
	{
		m_AabbHalfExtents : 		MetaVec3
		{
			x_ : 1.5
			y_ : 2
			z_ : 1.5
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 3
			y_ : 4
			z_ : 3
		}
		m_collisionGroup : 0
		m_ghost : 1
		m_shapeType : 1
	}
	EscapePod
	{
		m_IsLaunchable : 0
		m_LauncherID : 0
		m_PlayerActivatedBy : 0
	}
	InteractorComponent
	{
		m_name_of_bound_door : 
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 1
			x_ : 0.9
			y_ : 0.4
			z_ : 0.1
		}
		m_ModelName : pod
		m_ShaderName : textureshader
		m_TextureName : pod_hull 
		m_Transparent : 0
		m_Visible : 1
	}
}

