Object
{
	mName : DoorAlongZ
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 2.5
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 1
				y_ : 5
				z_ : 5
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
			x_ : 0.5
			y_ : 2.5
			z_ : 2.5
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 1
			y_ : 5
			z_ : 5
		}
		m_collisionGroup : 0
		m_ghost : 0
		m_shapeType : 1
	}
	DoorComponent
	{
		m_closes_automatically : 1
		m_is_open : 0
		m_left_room_id : 0
		m_locked : 0
		m_requires_key : 0
		m_right_room_id : 0
		m_time_locked : 0
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
			x_ : 0.7
			y_ : 0.6
			z_ : 0.2
		}
		m_ModelName : door
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

