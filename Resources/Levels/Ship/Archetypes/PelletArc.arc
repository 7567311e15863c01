Object
{
	mName : PelletArc
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 1
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 0.2
				y_ : 0.2
				z_ : 0.2
			}
		}
	}
	RigidBody
	{
		m_damping : 1
		m_invMass : 10
		m_mass : 0.1
		m_static : 0
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
			x_ : 0.1
			y_ : 0.1
			z_ : 0.1
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 0.2
			y_ : 0.2
			z_ : 0.2
		}
		m_collisionGroup : 0
		m_ghost : 1
		m_shapeType : 1
	}
	Owner
	{
		Owner_ : 0
	}
	LifeTime
	{
		timeAllowedToLive_ : 0.6
		timeSpentAlive_ : 0
	}
	DamageDealer
	{
		Damage_ : 10
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
			x_ : 1
			y_ : 0.9
			z_ : 0.3
		}
		m_ModelName : pellet
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

